# One GoogleTest binary per folder, registered with CTest.
#
#   kesto_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
#
# Each test runs with KESTO_ROOT pointing at a fresh folder in the build tree, so no test
# touches the real home folder; tests that need their own state make a temporary folder.
if(KESTO_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(kesto_add_test)
  if(NOT KESTO_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(root ${CMAKE_BINARY_DIR}/test-root/${T_NAME})
  file(MAKE_DIRECTORY ${root})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${T_NAME}."
    PROPERTIES ENVIRONMENT "KESTO_ROOT=${root}"
               ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen"
               TIMEOUT 120)
endfunction()
