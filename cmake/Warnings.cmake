# The error codes of both formula engines rely on IEEE infinities and NaNs.
if(CMAKE_CXX_FLAGS MATCHES "fast-math")
  message(FATAL_ERROR "-ffast-math breaks the formula engines' error detection")
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter -fno-fast-math)

