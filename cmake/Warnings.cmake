add_library(vyd_warnings INTERFACE)
target_compile_options(vyd_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  # g++ 12 at -O3 reports impossible overlapping copies inside libstdc++'s inlined string code.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
  -Wno-unused-parameter
  $<$<BOOL:${VYD_WERROR}>:-Werror>)
