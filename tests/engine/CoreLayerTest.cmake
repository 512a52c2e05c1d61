# The engine's layers: core/ lies below devices/, so no file of core/ includes a header of
# devices/. Run with -DROOT=<source folder>.
file(GLOB_RECURSE sources ${ROOT}/core/*.h ${ROOT}/core/*.cpp)
set(against "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^#include \"devices/")
  if(includes)
    list(APPEND against "${source}: ${includes}")
  endif()
endforeach()
if(against)
  message(FATAL_ERROR "core/ includes from devices/:\n${against}")
endif()
