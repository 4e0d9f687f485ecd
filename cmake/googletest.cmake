# GoogleTest from Debian's sources, cross-built with the same toolchain as the product.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${GOOGLETEST_SOURCE_DIR} (apt-get install googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# corvane_add_test(NAME SOURCES... LIBS...): one test program run under Wine, its cases found at test time.
function(corvane_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE CORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}" CORVANE_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # PROPERTIES names test properties (RESOURCE_LOCK desktop); callers may repeat the keyword.
  set(test_properties)
  if(T_PROPERTIES)
    list(GET T_PROPERTIES 0 first)
    if(first STREQUAL "PROPERTIES")
      list(REMOVE_AT T_PROPERTIES 0)
    endif()
    set(test_properties PROPERTIES ${T_PROPERTIES})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} ${test_properties})
endfunction()
