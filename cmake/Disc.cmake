# The installation disc as the updater expects to be started from it: the program
# and the compressed installer side by side in the root, laid out in
# ${CMAKE_BINARY_DIR}/disc and burnt into ${CMAKE_BINARY_DIR}/MiseAJour-disc.iso.
#
#   MISEAJOUR_DISC_INSTALLER  the uncompressed installer to carry; the stand-in
#                             (standin/) unless another file is given.
#   target disc               builds both (part of ALL).
#
# The image is the published disc and carries the 32-bit program. A 64-bit build lays
# out its disc folder only, from which the program runs where Windows programs must
# be 64-bit (the demo on a host that runs 64-bit code only).

include(${CMAKE_CURRENT_LIST_DIR}/../standin/CompressInstaller.cmake)

set(MISEAJOUR_DISC_INSTALLER "${STANDIN_EXE}" CACHE FILEPATH
    "Uncompressed installer put on the disc as _install.ex_ (default: the stand-in)")

function(miseajour_add_disc)
  if(NOT TARGET MiseAJour)
    message(WARNING "No MiseAJour target yet: the disc is not laid out.")
    return()
  endif()
  if(NOT MISEAJOUR_DISC_INSTALLER)
    message(FATAL_ERROR "MISEAJOUR_DISC_INSTALLER is empty and there is no stand-in installer.")
  endif()

  set(installer_depends "")
  if(TARGET standin_installer AND MISEAJOUR_DISC_INSTALLER STREQUAL STANDIN_EXE)
    set(installer_depends standin_installer)
  elseif(NOT EXISTS "${MISEAJOUR_DISC_INSTALLER}")
    message(FATAL_ERROR "MISEAJOUR_DISC_INSTALLER: no such file: ${MISEAJOUR_DISC_INSTALLER}")
  endif()

  set(dir ${CMAKE_BINARY_DIR}/disc)
  set(program ${dir}/MiseAJour.exe)
  set(installer ${dir}/_install.ex_)
  set(iso ${CMAKE_BINARY_DIR}/MiseAJour-disc.iso)

  add_custom_command(OUTPUT ${program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:MiseAJour> ${program}
    DEPENDS MiseAJour
    COMMENT "Laying out the disc folder"
    VERBATIM)
  miseajour_compress_installer(
    SOURCE ${MISEAJOUR_DISC_INSTALLER}
    OUTPUT ${installer}
    DEPENDS ${installer_depends})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_custom_target(disc ALL DEPENDS ${program} ${installer})
    return()
  endif()

  find_program(XORRISO_EXECUTABLE xorriso REQUIRED)
  # The image holds exactly these two files, whatever else lies in the folder.
  # Joliet keeps the long mixed-case names that Windows shows; Rock Ridge does
  # the same for Unix readers.
  add_custom_command(OUTPUT ${iso}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${iso}
    COMMAND ${XORRISO_EXECUTABLE} -as mkisofs -quiet -J -r -V MISEAJOUR -graft-points -o ${iso}
            MiseAJour.exe=${program} _install.ex_=${installer}
    DEPENDS ${program} ${installer}
    COMMENT "Making the disc image MiseAJour-disc.iso"
    VERBATIM)
  add_custom_target(disc ALL DEPENDS ${program} ${installer} ${iso})
endfunction()

miseajour_add_disc()
