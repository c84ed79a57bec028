# The package for users: `cmake --build build --target package` makes one ZIP that unpacks to
#   <name>/ReadMe.txt
#   <name>/Statwell/statwell.exe, <name>/Statwell/help/...
#   <name>/Keyquell/kqel.exe, kbtrap.dll, kqel.chm
# Its name carries statwell's version, read from the program's own version resource.
file(STRINGS ${CMAKE_SOURCE_DIR}/monitor/app/statwell.rc _sw_fileversion REGEX "^ *FILEVERSION ")
string(REGEX MATCH "[0-9]+,[0-9]+,[0-9]+,[0-9]+" _sw_fileversion "${_sw_fileversion}")
string(REPLACE "," "." SW_PACKAGE_VERSION "${_sw_fileversion}")

install(TARGETS statwell RUNTIME DESTINATION Statwell)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/monitor/help/ DESTINATION Statwell/help)
install(TARGETS kqel RUNTIME DESTINATION Keyquell)
install(TARGETS kbtrap RUNTIME DESTINATION Keyquell LIBRARY DESTINATION Keyquell)
install(FILES ${CMAKE_BINARY_DIR}/bin/kqel.chm DESTINATION Keyquell OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/ReadMe.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "CorvaneStatwell")
set(CPACK_PACKAGE_VENDOR "Corvane Software")
set(CPACK_PACKAGE_VERSION ${SW_PACKAGE_VERSION})
set(CPACK_PACKAGE_FILE_NAME "corvane-statwell-${SW_PACKAGE_VERSION}-win32")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
