# The gadget's pure rules (layout, frame), built in both trees and tested on the host.
sw_library(sw_gadget_core PURE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gadget_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_frame.cpp)
