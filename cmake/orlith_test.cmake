# orlith_add_test_binary(target): registers a GoogleTest binary with CTest. Natively every test
# case becomes a CTest test; when cross-compiling (the Windows build under Wine) the binary runs
# once as one test, since starting the emulator per case would cost seconds each.
function(orlith_add_test_binary target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
