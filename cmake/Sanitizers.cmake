# With OSTRIVEL_SANITIZE every target is built and linked with ASan and UBSan,
# and any finding aborts the test that triggered it. The fuzz build adds
# coverage instrumentation for libFuzzer on top.
if(OSTRIVEL_SANITIZE OR OSTRIVEL_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
if(OSTRIVEL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
