# bx_add_test(NAME SOURCES... [LIBS libs...]): one GoogleTest program per product
# folder. Natively each test case is its own CTest test; Windows programs run
# whole under Wine through the emulator wrapper (one Wine start per program).
include(GoogleTest)
function(bx_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(WIN32)
    # Wine maps the host's root folder to drive Z:.
    target_compile_definitions(${name} PRIVATE BX_TEST_DATA="Z:${CMAKE_SOURCE_DIR}/tests/data")
  else()
    target_compile_definitions(${name} PRIVATE BX_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "BX_TEST_NAME=${name}" TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
