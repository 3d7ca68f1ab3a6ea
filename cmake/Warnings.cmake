add_library(vyd_warnings INTERFACE)
target_compile_options(vyd_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  -Wno-unused-parameter
  $<$<BOOL:${VYD_WERROR}>:-Werror>)
