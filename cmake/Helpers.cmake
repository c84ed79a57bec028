# sw_test(<name> SOURCES <files...> [LIBS <targets...>] [HOST])
#   One test executable, one ctest entry. In the Windows tree every test is built and run
#   under Wine (through the emulator set by tools/winebench). With HOST the test only uses
#   code that builds without <windows.h>, so the host tree builds it too and runs it natively
#   under the sanitizers.
function(sw_test name)
  cmake_parse_arguments(T "HOST" "" "SOURCES;LIBS" ${ARGN})
  if(SW_HOST AND NOT T_HOST)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(SW_WIN)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    add_test(NAME ${name} COMMAND ${SW_WINE_EXEC} $<TARGET_FILE:${name}>
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# sw_library(<name> [PURE] SOURCES <files...> [LIBS <targets...>])
#   A static library of one folder. PURE libraries build in both trees; the others only
#   in the Windows tree.
function(sw_library name)
  cmake_parse_arguments(L "PURE" "" "SOURCES;LIBS" ${ARGN})
  if(SW_HOST AND NOT L_PURE)
    return()
  endif()
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
endfunction()

# Runs a Windows program under the project's Wine prefix of this build tree.
set(SW_WINE_EXEC ${CMAKE_SOURCE_DIR}/tools/wine-exec ${CMAKE_BINARY_DIR})
