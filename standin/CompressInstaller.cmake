# miseajour_compress_installer(SOURCE <file or $<TARGET_FILE:...>> OUTPUT <file> [DEPENDS ...])
# Adds a custom command that makes OUTPUT, the SZDD-compressed form of SOURCE
# that lz32 expands back under SOURCE's name with its last letter restored.
# Used for the stand-in installer and for the installer put on the disc.
include_guard(GLOBAL)

find_program(MSCOMPRESS_EXECUTABLE mscompress REQUIRED)
set(MISEAJOUR_SZDD_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/szdd-compress.sh CACHE INTERNAL
    "Script that compresses one file with mscompress and fixes its header")

function(miseajour_compress_installer)
  cmake_parse_arguments(C "" "SOURCE;OUTPUT" "DEPENDS" ${ARGN})
  if(NOT C_SOURCE OR NOT C_OUTPUT)
    message(FATAL_ERROR "miseajour_compress_installer: SOURCE and OUTPUT are required")
  endif()
  add_custom_command(OUTPUT ${C_OUTPUT}
    COMMAND sh ${MISEAJOUR_SZDD_SCRIPT} ${MSCOMPRESS_EXECUTABLE} ${C_SOURCE} ${C_OUTPUT}
    DEPENDS ${C_SOURCE} ${C_DEPENDS} ${MISEAJOUR_SZDD_SCRIPT}
    COMMENT "Compressing ${C_OUTPUT}"
    VERBATIM)
endfunction()
