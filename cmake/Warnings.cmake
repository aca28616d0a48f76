# Warnings are errors in our own code. Floating point stays strict IEEE:
# no contraction into fused multiply-add and no fast-math, so that every
# machine prints the same digits.
function(tarvelo_strict target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wdouble-promotion
    -Wimplicit-fallthrough -Werror
    -ffp-contract=off -fno-math-errno)
endfunction()
