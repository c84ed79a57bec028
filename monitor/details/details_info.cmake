# The General, CPU, Folders and Network tabs of System Details: sw_details_info_core decides
# over plain data (both trees); sw_details_info gathers the facts from the system and runs the
# address watcher.
sw_library(sw_details_info_core PURE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/general_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cpu_tab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/adapters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/adapters_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/online_state.cpp
  LIBS sw_metrics_core)
sw_library(sw_details_info SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/system_probe_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ip_watch.cpp
  LIBS sw_details_info_core sw_metrics sw_ui shell32 ole32)
# The four tabs in the System Details window.
sw_library(sw_details_tabs SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/frmTask_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/info_controls.cpp
  LIBS sw_details_info sw_ui sw_widgets sw_app_core)
