# The spine's tests: number reading everywhere; on Windows the option scanner and the menu
# handlers on virtual time, and the start-up error box in a probe process.
acenora_test(number_reading_test SOURCES number_reading_test.cpp LIBS scanning_logic)
acenora_test(shell_places_test SOURCES shell_places_test.cpp LIBS scanning_logic)

# Everything below opens the console window, so it waits for the console and the panel's
# own units.
set(spine_window_units
  ${PROJECT_SOURCE_DIR}/src/console/screen.cpp
  ${PROJECT_SOURCE_DIR}/src/console/setup.cpp
  ${PROJECT_SOURCE_DIR}/src/scanning/core/uwindow.cpp
  ${PROJECT_SOURCE_DIR}/src/scanning/core/uopcoes.cpp
  ${PROJECT_SOURCE_DIR}/src/scanning/core/logic/uvars.cpp)
set(spine_window_ready ${WIN32})
foreach(unit ${spine_window_units})
  if(NOT EXISTS ${unit})
    set(spine_window_ready OFF)
  endif()
endforeach()

if(spine_window_ready)
  set(spine_virtual_libs scanning seam_virtual playback_recorder)
  acenora_test(option_scan_test SOURCES option_scan_test.cpp panel_user.cpp
               LIBS ${spine_virtual_libs} TIMEOUT 300)
  acenora_test(menu_handlers_test SOURCES menu_handlers_test.cpp panel_user.cpp
               LIBS ${spine_virtual_libs} TIMEOUT 600)
  add_executable(launch_marker launch_marker.cpp)
  add_dependencies(menu_handlers_test launch_marker)
  acenora_test(startup_screen_test SOURCES startup_screen_test.cpp panel_user.cpp
               LIBS ${spine_virtual_libs} TIMEOUT 120)
  # The menus move the real cursor and the foreground window.
  set_tests_properties(menu_handlers_test PROPERTIES RESOURCE_LOCK desktop_input)
  if(ACENORA_WINE)
    # The mouse steps again with the prefix at 144 DPI, as a screen at 150 %.
    add_test(NAME menu_handlers_144_dpi_test
             COMMAND ${ACENORA_ON_DESKTOP} bash ${PROJECT_SOURCE_DIR}/tests/console/at_144_dpi.sh
                     ${ACENORA_WINE} $<TARGET_FILE:menu_handlers_test>)
    set_tests_properties(menu_handlers_144_dpi_test PROPERTIES TIMEOUT 120 RESOURCE_LOCK desktop_input
      ENVIRONMENT "ACENORA_EXPECT_DPI=144;GTEST_FILTER=Menus.Direita*")
    acenora_on_desktop(menu_handlers_144_dpi_test)
  endif()

  add_executable(startup_probe startup_probe.cpp)
  target_link_libraries(startup_probe PRIVATE scanning seam_win32 playback_recorder)
  if(MINGW)
    target_link_options(startup_probe PRIVATE -mwindows)
  endif()
  acenora_test(startup_test SOURCES startup_test.cpp LIBS probe_process TIMEOUT 300)
  add_dependencies(startup_test startup_probe)
endif()
