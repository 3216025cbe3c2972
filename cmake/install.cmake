# What `cmake --install` puts where: on Linux the GNU folders (bin, share/man/man1,
# share/doc/orlith with the examples); on Windows one flat folder, as the zip a user unpacks into
# the FS2002 folder beside scenery.cfg. Included after every target exists; targets by name.
if(WIN32)
  set(orlith_bin_dir .)
  set(orlith_doc_dir .)
else()
  include(GNUInstallDirs)
  set(orlith_bin_dir ${CMAKE_INSTALL_BINDIR})
  # Named here: CMAKE_INSTALL_DOCDIR would take project()'s "Orlith", and Qt's package files
  # may have set it before this file is read.
  set(orlith_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/orlith)
endif()

# orlith is the desktop program: Qt on Linux, Win32 on Windows.
set(orlith_programs orlith-cli)
if(TARGET orlith)
  list(APPEND orlith_programs orlith)
endif()
install(TARGETS ${orlith_programs} RUNTIME DESTINATION ${orlith_bin_dir})
install(DIRECTORY examples/ DESTINATION ${orlith_doc_dir}/examples)

set(orlith_packaging ${PROJECT_SOURCE_DIR}/packaging)
if(WIN32)
  # Windows users read these in Notepad: CR LF line ends.
  configure_file(${orlith_packaging}/windows/README.txt ${PROJECT_BINARY_DIR}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt
          DESTINATION ${orlith_doc_dir})
  return()
endif()

# Manual pages carry project()'s version and are installed gzipped, as Debian wants them (-n: no
# name or date inside, so the same page gives the same bytes).
set(orlith_man_gz "")
foreach(program IN LISTS orlith_programs)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  configure_file(${PROJECT_SOURCE_DIR}/man/${program}.1.in ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
                     COMMAND gzip -9nkf ${page}
                     DEPENDS ${page}
                     COMMENT "Compressing the manual page ${program}.1")
  list(APPEND orlith_man_gz ${page}.gz)
  if(ORLITH_BUILD_TESTS)
    add_test(NAME man_page.${program}
             COMMAND ${PROJECT_SOURCE_DIR}/tests/package/man_page_test.sh
                     $<TARGET_FILE:${program}> ${page})
  endif()
endforeach()
add_custom_target(man_pages ALL DEPENDS ${orlith_man_gz})
install(FILES ${orlith_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's copyright file (machine-readable) and changelog, which lintian looks for in the
# package's documentation folder.
set(orlith_changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${orlith_changelog}
                   COMMAND ${CMAKE_COMMAND} -E copy ${orlith_packaging}/debian/changelog
                           ${PROJECT_BINARY_DIR}/changelog
                   COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/changelog
                   DEPENDS ${orlith_packaging}/debian/changelog)
add_custom_target(changelog ALL DEPENDS ${orlith_changelog})
install(FILES ${orlith_packaging}/debian/copyright ${orlith_changelog}
        DESTINATION ${orlith_doc_dir})
