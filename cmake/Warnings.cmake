add_library(vyd_warnings INTERFACE)
target_compile_options(vyd_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Woverloaded-virtual
  -Wno-unused-parameter
  $<$<BOOL:${VYD_WERROR}>:-Werror>)
