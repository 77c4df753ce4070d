# Fails when a source under the given folders holds a byte above 127. Texts of the program
# are code page 1252 written as escapes, so no compiler's execution character set can
# change them; a literal typed as UTF-8 would reach the screen as two wrong characters.
# cmake -DROOT=<project> -P ascii_sources.cmake
set(bad "")
foreach(folder src playback res)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*")
  foreach(source ${sources})
    file(READ "${source}" hex HEX)
    # Two hex digits per byte: a byte at or above 0x80 starts with 8-f at an even place.
    string(REGEX MATCH "^(..)*[89a-f]." found "${hex}")
    if(found)
      file(RELATIVE_PATH name "${ROOT}" "${source}")
      list(APPEND bad "${name}")
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " names)
  message(FATAL_ERROR "bytes above 127 (write them as \\xNN escapes) in:\n  ${names}")
endif()
