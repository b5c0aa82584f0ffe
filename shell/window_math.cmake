# Window placement arithmetic (snapping, centring, translucency steps): pure
# C++ without platform headers, built on every platform so that it is tested
# natively and linked into the Windows program.
add_library(dexolin_window_math STATIC
  ${CMAKE_CURRENT_LIST_DIR}/snap_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transparency_steps.cpp
)
target_include_directories(dexolin_window_math PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(dexolin_window_math PRIVATE dexolin_warnings dexolin_lean)

# The settings' number text and range clamp, likewise pure: fuzzed natively
# and linked into the Windows program's settings.
add_library(dexolin_settings_number STATIC ${CMAKE_CURRENT_LIST_DIR}/settings_number.cpp)
target_include_directories(dexolin_settings_number PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(dexolin_settings_number PRIVATE dexolin_warnings dexolin_lean)
