# The release zip a Windows user unpacks and runs: the panel, its playback library, the
# level meter, the caregiver's guide and a sample settings file, side by side and nothing
# else. The programs are linked statically, so nothing else has to be installed.
if(NOT WIN32)
  return()
endif()

# What the package ships, built by ./package.sh before CPack runs.
add_custom_target(package_contents)
add_dependencies(package_contents acenora obkbm32)
# Programs and library stripped (CPACK_STRIP_FILES); the library's import library stays out.
install(TARGETS acenora obkbm32 RUNTIME DESTINATION . ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
if(TARGET acenora-nivel)
  add_dependencies(package_contents acenora-nivel)
  install(TARGETS acenora-nivel RUNTIME DESTINATION .)
else()
  # A package without the meter would leave the caregiver no way to choose "Volume".
  set(missing "acenora-nivel.exe is missing: the level meter must be built into the package")
  add_custom_target(missing_meter COMMAND ${CMAKE_COMMAND} -E echo "${missing}"
                    COMMAND ${CMAKE_COMMAND} -E false)
  add_dependencies(package_contents missing_meter)
  install(CODE "message(FATAL_ERROR \"${missing}\")")
endif()
install(FILES ${PROJECT_SOURCE_DIR}/dist/LEIAME.txt ${PROJECT_SOURCE_DIR}/dist/ORBITA.INI.exemplo
        DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ACENORA_PLATFORM win64)
else()
  set(ACENORA_PLATFORM win32)
endif()
# Packaging builds only what it ships, not every test program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME acenora)
set(CPACK_PACKAGE_VERSION 2.0)
set(CPACK_PACKAGE_FILE_NAME acenora-2.0-${ACENORA_PLATFORM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
