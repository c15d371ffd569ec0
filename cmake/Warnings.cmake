# The error codes of both formula engines rely on IEEE infinities and NaNs.
if(CMAKE_CXX_FLAGS MATCHES "fast-math")
  message(FATAL_ERROR "-ffast-math breaks the formula engines' error detection")
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter -fno-fast-math)

# Helper: warnings-as-errors is not forced, but every target gets the same set.
function(orv_target_defaults tgt)
  target_compile_features(${tgt} PUBLIC cxx_std_20)
endfunction()
