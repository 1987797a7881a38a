# tessera_add_test (NAME source...): one GoogleTest program, linked with the add-on, the
# in-process host and the test support, registered with CTest under NAME.
function (tessera_add_test name)
    add_executable (${name} ${ARGN})
    target_link_libraries (${name} PRIVATE tessera_test_support GTest::gtest GTest::gtest_main)
    add_test (NAME ${name} COMMAND ${name})
    set_tests_properties (${name} PROPERTIES ENVIRONMENT "LC_ALL=en_US.UTF-8")
endfunction ()
