# One warning set for every target of the project.
add_library(stowbel_warnings INTERFACE)
target_compile_options(stowbel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
    -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(STOWBEL_WERROR)
    target_compile_options(stowbel_warnings INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # The calculation widens doubles to long double on purpose (extended precision); clang
    # counts that as a promotion, GCC only float to double.
    target_compile_options(stowbel_warnings INTERFACE -Wno-double-promotion)
endif()
