# Flags every target of the tree shares.
#
# Every stored single must be the double result rounded once: a fused
# multiply-add would skip that rounding and change the last digit of a caption,
# so contraction is off and fast-math is never used.
add_compile_options(-ffp-contract=off -fno-fast-math -Wall -Wextra -Wshadow)
# The same bytes whichever folders hold the tree and its build: the paths the
# compiler writes (__FILE__, debug information) are relative to them. The
# build's map comes last, so it wins where the build is inside the tree.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
if(QUILLMERE_WERROR)
  add_compile_options(-Werror)
endif()

if(QUILLMERE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLMERE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
