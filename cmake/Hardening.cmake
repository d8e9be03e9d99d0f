# The hardening Debian asks of the programs it ships, for the optimised
# builds that are packaged (Release, RelWithDebInfo): fortified libc calls
# (which need optimisation to work), a stack protector, and relocations made
# read-only at start-up. Executables are position independent in every build.
# A sanitizer build goes without the rest: the sanitizers check each access
# themselves, and their interceptors and the fortified functions do not mix.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
# The static libraries become position-independent code too, but every
# function in them is linked into a program and can never be replaced by
# another library's: the compiler may still inline and call them directly.
add_compile_options(-fno-semantic-interposition)

if(NOT POTELAN_SANITIZE)
  set(optimised $<CONFIG:Release,RelWithDebInfo>)
  add_compile_definitions($<${optimised}:_FORTIFY_SOURCE=2>)
  add_compile_options($<${optimised}:-fstack-protector-strong>)
  add_link_options($<${optimised}:LINKER:-z,relro,-z,now>)
endif()
