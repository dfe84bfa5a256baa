# With OSTRIVEL_SANITIZE every target is built and linked with ASan and UBSan,
# and any finding aborts the test that triggered it.
if(OSTRIVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
