# The release zip a Windows user unpacks and runs: the panel, its playback library, the
# level meter, the caregiver's guide and a sample settings file, side by side and nothing
# else. The programs are linked statically, so nothing else has to be installed.
if(NOT WIN32)
  return()
endif()

# What the package ships, built by ./package.sh before CPack runs.
add_custom_target(package_contents)
add_dependencies(package_contents acenora obkbm32 locutor)
# Programs and library stripped (CPACK_STRIP_FILES); the library's import library stays out.
install(TARGETS acenora obkbm32 RUNTIME DESTINATION . ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
install(TARGETS locutor RUNTIME DESTINATION .)
add_dependencies(package_contents acenora-config)
install(TARGETS acenora-config RUNTIME DESTINATION .)
# The setup's starter is staged beside them for the setup; the zips leave it out.
add_dependencies(package_contents acenora-iniciar)
install(TARGETS acenora-iniciar RUNTIME DESTINATION .)
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
set(ACENORA_WORD_LIST ${PROJECT_SOURCE_DIR}/dist/lista-palavras.txt
    ${PROJECT_SOURCE_DIR}/dist/lista-palavras-LICENCA.txt)
install(FILES ${PROJECT_SOURCE_DIR}/dist/LEIAME.txt ${PROJECT_SOURCE_DIR}/dist/ORBITA.INI.exemplo
        ${ACENORA_WORD_LIST} DESTINATION .)

# The texts the setup installs: the guide, the sample, the word list and its notice, and the
# user's commented settings file.
set(ACENORA_SETUP_TEXTS ${CMAKE_BINARY_DIR}/setup-texts)
set(sample ${PROJECT_SOURCE_DIR}/dist/ORBITA.INI.exemplo)
add_custom_command(OUTPUT ${ACENORA_SETUP_TEXTS}/ORBITA.INI
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ACENORA_SETUP_TEXTS}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/dist/LEIAME.txt ${sample}
          ${ACENORA_WORD_LIST} ${ACENORA_SETUP_TEXTS}/
  COMMAND ${CMAKE_COMMAND} -DIN=${sample} -DOUT=${ACENORA_SETUP_TEXTS}/ORBITA.INI
          -P ${PROJECT_SOURCE_DIR}/cmake/commented_settings.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/LEIAME.txt ${sample} ${ACENORA_WORD_LIST}
          ${PROJECT_SOURCE_DIR}/cmake/commented_settings.cmake)
add_custom_target(setup_texts ALL DEPENDS ${ACENORA_SETUP_TEXTS}/ORBITA.INI)

# acenora_setup_command(<var> <outfile> <64-bit folder> <32-bit folder> [<makensis options>])
find_program(ACENORA_MAKENSIS makensis)
function(acenora_setup_command var outfile files64 files32)
  set(options ${ARGN})
  if(ACENORA_MAGICK)
    list(APPEND options -DICON=${ACENORA_ICON})
  endif()
  set(${var} ${ACENORA_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${ACENORA_VERSION}
      -DOUTFILE=${outfile} -DFILES64=${files64} -DFILES32=${files32}
      -DDIST=${ACENORA_SETUP_TEXTS} ${options} ${PROJECT_SOURCE_DIR}/setup/acenora.nsi PARENT_SCOPE)
endfunction()

# The setup of this build's own programs, for the install tests: the same programs stand in
# for both word sizes, and the setup itself is 64-bit, as Wine without its 32-bit half runs
# only 64-bit programs. ./package.sh makes the shipped one, 32-bit, from the two release builds.
if(ACENORA_MAKENSIS AND TARGET acenora-nivel)
  set(ACENORA_TEST_SETUP ${CMAKE_BINARY_DIR}/bin/acenora-setup-test.exe)
  set(bin ${CMAKE_BINARY_DIR}/bin)
  acenora_setup_command(command ${ACENORA_TEST_SETUP} ${bin} ${bin} -DTARGET=amd64-unicode)
  add_custom_command(OUTPUT ${ACENORA_TEST_SETUP} COMMAND ${command}
    DEPENDS acenora acenora-nivel acenora-config acenora-iniciar obkbm32 locutor setup_texts ${PROJECT_SOURCE_DIR}/setup/acenora.nsi
    VERBATIM)
  add_custom_target(acenora_test_setup ALL DEPENDS ${ACENORA_TEST_SETUP})
endif()

# The shipped setup's makensis call for ./package.sh, which names the setup and the two
# staged builds: cmake -DSETUP=... -DFILES64=... -DFILES32=... [-DUIACCESS=1] -P setup_command.cmake
# UIACCESS: the staged builds hold the signed acenora-uiaccess.exe too.
if(ACENORA_MAKENSIS)
  acenora_setup_command(command "\${SETUP}" "\${FILES64}" "\${FILES32}")
  list(POP_BACK command script)
  set(quoted "")
  foreach(argument IN LISTS command)
    string(APPEND quoted " \"${argument}\"")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/setup_command.cmake
       "set(ui \"\")\nif(UIACCESS)\n  set(ui -DUIACCESS=1)\nendif()\n"
       "execute_process(COMMAND${quoted} \${ui} \"${script}\" RESULT_VARIABLE failed)\n"
       "if(failed)\n  message(FATAL_ERROR \"makensis failed\")\nendif()\n")
endif()
