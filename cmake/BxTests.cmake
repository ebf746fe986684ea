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

# bx_add_e2e_tests(PREFIX SCRIPT CASES case... ENVIRONMENT var=value...): one
# CTest test PREFIX_CASE per case of an end-to-end script, run as
# "bash SCRIPT CASE". Each case makes its own Wine prefix (named after the
# test) and its own X display, so the cases run side by side.
function(bx_add_e2e_tests prefix script)
  cmake_parse_arguments(E "" "" "CASES;ENVIRONMENT" ${ARGN})
  foreach(case IN LISTS E_CASES)
    add_test(NAME ${prefix}_${case} COMMAND bash ${script} ${case})
    set_tests_properties(${prefix}_${case} PROPERTIES
      ENVIRONMENT "${E_ENVIRONMENT};BX_TEST_NAME=${prefix}_${case}" TIMEOUT 400)
  endforeach()
endfunction()
