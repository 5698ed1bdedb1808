# The installation disc as the updater expects to be started from it: the program
# and the compressed installer side by side in the root, with an autorun.inf that has
# AutoPlay offer the updater, laid out in ${CMAKE_BINARY_DIR}/disc and burnt into
# ${CMAKE_BINARY_DIR}/MiseAJour-disc.iso. Two builds of one commit make the same image
# (cmake/Reproducible.cmake).
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

  # A new commit's time must reach the disc's programs, even when their sources
  # did not change.
  set_property(TARGET MiseAJour APPEND PROPERTY LINK_DEPENDS ${MISEAJOUR_SOURCE_DATE_EPOCH_FILE})
  if(TARGET standin_installer)
    set_property(TARGET standin_installer APPEND PROPERTY LINK_DEPENDS ${MISEAJOUR_SOURCE_DATE_EPOCH_FILE})
  endif()

  set(dir ${CMAKE_BINARY_DIR}/disc)
  set(program ${dir}/MiseAJour.exe)
  set(installer ${dir}/_install.ex_)
  set(autorun ${dir}/autorun.inf)
  set(iso ${CMAKE_BINARY_DIR}/MiseAJour-disc.iso)

  # Windows reads autorun.inf in the ANSI code page: the label's "à" is the byte E0.
  # The icon is the program's first, its own. Copied only when it changes.
  string(ASCII 224 a_grave)
  string(ASCII 13 10 crlf)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/autorun.inf.new
    "[autorun]${crlf}open=MiseAJour.exe${crlf}icon=MiseAJour.exe,0${crlf}label=Mise ${a_grave} jour de l'Orvandel${crlf}")
  configure_file(${CMAKE_CURRENT_BINARY_DIR}/autorun.inf.new ${autorun} COPYONLY)

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
    add_custom_target(disc ALL DEPENDS ${program} ${installer} ${autorun})
    return()
  endif()

  find_program(XORRISO_EXECUTABLE xorriso REQUIRED)
  # The image holds exactly these three files, whatever else lies in the folder.
  # Joliet keeps the long mixed-case names that Windows shows; Rock Ridge does
  # the same for Unix readers. Every date in it, of the volume and of each file, is
  # the commit's; -r already gives every file the same owner and modes.
  add_custom_command(OUTPUT ${iso}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${iso}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${MISEAJOUR_SOURCE_DATE_EPOCH} TZ=UTC
            ${XORRISO_EXECUTABLE} -as mkisofs -quiet -J -r -V MISEAJOUR
            --modification-date=${MISEAJOUR_SOURCE_DATE} --set_all_file_dates ${MISEAJOUR_SOURCE_DATE}
            -graft-points -o ${iso}
            MiseAJour.exe=${program} _install.ex_=${installer} autorun.inf=${autorun}
    DEPENDS ${program} ${installer} ${autorun} ${MISEAJOUR_SOURCE_DATE_EPOCH_FILE}
    COMMENT "Making the disc image MiseAJour-disc.iso"
    VERBATIM)
  add_custom_target(disc ALL DEPENDS ${program} ${installer} ${iso})
endfunction()

miseajour_add_disc()
