# Window placement arithmetic (snapping, centring, translucency steps): pure
# C++ without platform headers, built on every platform so that it is tested
# natively and linked into the Windows program.
add_library(dexolin_window_math STATIC
  ${CMAKE_CURRENT_LIST_DIR}/snap_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transparency_steps.cpp
)
target_include_directories(dexolin_window_math PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(dexolin_window_math PRIVATE dexolin_warnings dexolin_lean)
