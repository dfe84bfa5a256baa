# GoogleTest for every build. A native build uses the installed package; a
# cross build compiles googletest from the sources that Debian ships and runs
# the tests through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
#
# ostrivel_add_gtest(<target>) registers a test program with ctest: one test
# per case natively; one test for the whole program in a cross build, where
# listing the cases would start Wine once more per build and per case.

if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET gtest_main)
    set(OSTRIVEL_GTEST_SOURCE_DIR /usr/src/googletest/googletest
        CACHE PATH "googletest sources for cross builds")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${OSTRIVEL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(ostrivel_add_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    # 77: the emulator cannot run programs of this architecture here.
    set_tests_properties(${target} PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
