# Installs the build into a staging DESTDIR with the package's /usr prefix and
# checks that exactly pyrelon-cli, its manual page, the bash completion, the
# changelog and the licence land there, with the window, its manual page,
# the desktop entry and the icon when WINDOW is ON; and that the entry names
# the installed program and icon.
#   cmake -DBUILD_DIR=<build tree> -DSTAGE=<scratch folder> -DWINDOW=ON|OFF -P check-install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${log}")
endif()

set(expected
    usr/bin/pyrelon-cli
    usr/share/bash-completion/completions/pyrelon-cli
    usr/share/doc/pyrelon/changelog.gz
    usr/share/doc/pyrelon/copyright
    usr/share/man/man1/pyrelon-cli.1.gz)
set(programs pyrelon-cli)
if(WINDOW)
  list(APPEND expected usr/bin/pyrelon usr/share/applications/pyrelon.desktop
       usr/share/icons/hicolor/scalable/apps/pyrelon.svg usr/share/man/man1/pyrelon.1.gz)
  list(APPEND programs pyrelon)
endif()
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed files:\n  ${installed}\nexpected:\n  ${expected}")
endif()

foreach(program IN LISTS programs)
  execute_process(COMMAND test -x ${STAGE}/usr/bin/${program} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "usr/bin/${program} is not executable")
  endif()
endforeach()
file(READ ${STAGE}/usr/share/bash-completion/completions/pyrelon-cli completion)
if(NOT completion MATCHES "complete -F _pyrelon_cli pyrelon-cli")
  message(FATAL_ERROR "the bash completion does not complete pyrelon-cli")
endif()

if(WINDOW)
  file(STRINGS ${STAGE}/usr/share/applications/pyrelon.desktop entry)
  foreach(line Exec=pyrelon Icon=pyrelon Type=Application Terminal=false)
    if(NOT line IN_LIST entry)
      message(FATAL_ERROR "desktop entry lacks '${line}'")
    endif()
  endforeach()

  file(READ ${STAGE}/usr/share/icons/hicolor/scalable/apps/pyrelon.svg icon)
  if(NOT icon MATCHES "<svg[^>]* viewBox=")
    message(FATAL_ERROR "the icon is not a scalable SVG image")
  endif()
endif()
file(REMOVE_RECURSE ${STAGE})
