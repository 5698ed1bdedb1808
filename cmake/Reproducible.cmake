# Two builds of the same commit, in different folders and at different times, make
# the same bytes: a school or a publisher can check that the disc they burn is the one
# built from the published source.
#
# Every time stamp a build writes comes from MISEAJOUR_SOURCE_DATE_EPOCH (seconds since
# 1970, UTC), taken in this order from:
#   - the environment variable SOURCE_DATE_EPOCH, when it holds a number;
#   - the time of the commit the source tree is checked out at (git log -1 --format=%ct);
#   - outside a git checkout (a source archive), the time CMakeLists.txt was last
#     changed, which unpacking an archive keeps.
# The value is read at each configure; scripts/build.sh configures on every build.

set(MISEAJOUR_SOURCE_DATE_EPOCH "")
if("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(MISEAJOUR_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  find_program(MISEAJOUR_GIT_EXECUTABLE git)
  if(MISEAJOUR_GIT_EXECUTABLE)
    execute_process(COMMAND ${MISEAJOUR_GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE git_status ERROR_QUIET)
    if(git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
      set(MISEAJOUR_SOURCE_DATE_EPOCH "${commit_time}")
      # A new commit or checkout moves HEAD and writes its log: configure again then.
      execute_process(COMMAND ${MISEAJOUR_GIT_EXECUTABLE} rev-parse --git-path HEAD --git-path logs/HEAD
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE head_files OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      string(REPLACE "\n" ";" head_files "${head_files}")
      foreach(head_file IN LISTS head_files)
        get_filename_component(head_file "${head_file}" ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
        if(EXISTS "${head_file}")
          set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_file}")
        endif()
      endforeach()
    endif()
  endif()
  if(NOT MISEAJOUR_SOURCE_DATE_EPOCH)
    file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt MISEAJOUR_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
endif()
message(STATUS "Time stamps of the build: ${MISEAJOUR_SOURCE_DATE_EPOCH} (SOURCE_DATE_EPOCH)")

# A file that changes only when the time does, for what must be made again then: the
# build tools do not compare command lines, so a new commit alone relinks nothing.
# Disc.cmake hangs the disc's programs and image on it.
set(MISEAJOUR_SOURCE_DATE_EPOCH_FILE ${PROJECT_BINARY_DIR}/source-date-epoch)
file(WRITE ${MISEAJOUR_SOURCE_DATE_EPOCH_FILE}.new "${MISEAJOUR_SOURCE_DATE_EPOCH}\n")
configure_file(${MISEAJOUR_SOURCE_DATE_EPOCH_FILE}.new ${MISEAJOUR_SOURCE_DATE_EPOCH_FILE} COPYONLY)

# The linker writes this time into each executable's header (and so its checksum)
# instead of the current time.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK
  "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${MISEAJOUR_SOURCE_DATE_EPOCH}")

# No folder of the machine that builds reaches the binaries (__FILE__, debug data).
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>)

# The same time for tools that want a date rather than a number: xorriso's
# YYYYMMDDhhmmsscc, in UTC. string(TIMESTAMP) reads SOURCE_DATE_EPOCH in place of now.
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} "${MISEAJOUR_SOURCE_DATE_EPOCH}")
string(TIMESTAMP MISEAJOUR_SOURCE_DATE "%Y%m%d%H%M%S00" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
