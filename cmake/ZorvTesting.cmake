# GoogleTest from Debian's sources, compiled with the build's own toolchain.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources are not held to our warning level.
foreach(t gtest gtest_main)
  target_compile_options(${t} PRIVATE -w)
endforeach()
if(WIN32)
  # The MinGW compilers' Win32 thread model has no std::mutex: GoogleTest takes its Notification
  # from a header of ours over a Win32 event.
  target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(gtest PUBLIC
    "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/tests/support/gtest_notification.h>")
endif()

if(WIN32 AND ZORV_CAN_RUN_TESTS)
  add_executable(wine_keeper ${CMAKE_SOURCE_DIR}/tests/support/wine_keeper.c)
  add_test(NAME wine_prefix_setup COMMAND /usr/bin/env ZORV_WINE=${ZORV_WINE}
                                          ZORV_WINE32_ROOT=${ZORV_WINE32_ROOT}
                                          ${CMAKE_SOURCE_DIR}/cmake/wine-prefix.sh
                                          ${ZORV_WINE_PREFIX} $<TARGET_FILE:wine_keeper>)
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
  add_test(NAME wine_prefix_stop COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix-stop.sh
                                         ${ZORV_WINE_PREFIX})
  set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine_prefix TIMEOUT 60)
endif()

# Every test program's main: unbuffered output and, on Windows, a report of unhandled exceptions.
add_library(zorv_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
target_link_libraries(zorv_test_main PUBLIC GTest::gtest)
if(WIN32)
  # Command-line tools run as a user would run them.
  target_sources(zorv_test_main PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/program_run.cpp)
  target_include_directories(zorv_test_main PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
endif()

# zorv_add_test(name SOURCES ... LIBS ...): one GoogleTest program, registered as one CTest test.
# Windows programs run under Wine with the build's own prefix, where the build's Wine is at hand.
function(zorv_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zorv_test_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  if(NOT WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  elseif(ZORV_CAN_RUN_TESTS)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT ${ARG_TIMEOUT})
  else()
    zorv_test_not_run(${name})
  endif()
endfunction()

# A Wine test that this machine cannot run: counted, so the test command can say so.
function(zorv_test_not_run name)
  set_property(GLOBAL APPEND PROPERTY ZORV_TESTS_NOT_RUN ${name})
endfunction()

# Writes tests-not-run.txt ("<count> <reason>") for scripts/test.sh, or removes it.
function(zorv_write_tests_not_run)
  get_property(names GLOBAL PROPERTY ZORV_TESTS_NOT_RUN)
  list(LENGTH names count)
  if(count GREATER 0)
    file(WRITE ${CMAKE_BINARY_DIR}/tests-not-run.txt "${count} ${ZORV_TESTS_NOT_RUN_REASON}\n")
  else()
    file(REMOVE ${CMAKE_BINARY_DIR}/tests-not-run.txt)
  endif()
endfunction()
