# One GoogleTest binary per folder, registered with CTest.
#
#   kesto_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
#
# Each binary runs with KESTO_ROOT pointing at a folder in the build tree, and its main
# (testing/TestMain.cpp) gives every test a fresh folder below it, so no test touches the
# real home folder or another test's state. TIMEOUT (seconds) raises the per-test limit.
if(KESTO_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(kesto_add_test)
  if(NOT KESTO_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock kesto_test_main)
  set(root ${CMAKE_BINARY_DIR}/test-root/${T_NAME})
  file(MAKE_DIRECTORY ${root})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_PREFIX "${T_NAME}."
    PROPERTIES ENVIRONMENT "KESTO_ROOT=${root}"
               ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen"
               TIMEOUT ${T_TIMEOUT})
endfunction()
