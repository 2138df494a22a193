# Install rules and the Debian package. The station and the tool go to bin/, the launcher,
# icons, manual pages and docs where Debian looks for them; tests and benchmarks stay out.
include(GNUInstallDirs)
# Debian's documentation folder is named for the package, not for the CMake project.
set(ZUNT_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zunt-station)

set(ZUNT_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ZUNT_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS zunt-station zunt-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZUNT_PACKAGING_DIR}/zunt-station.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZUNT_PACKAGING_DIR}/zunt-station.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# PNG icons rendered from the one SVG, so the sizes never drift from it.
find_program(ZUNT_RSVG_CONVERT rsvg-convert)
if(NOT ZUNT_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) renders the icons; run scripts/setup.sh")
endif()
set(icon_outputs "")
foreach(size 16 24 32 48 64 128 256)
    set(png ${ZUNT_PACKAGING_OUT}/icons/${size}x${size}/zunt-station.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ZUNT_PACKAGING_OUT}/icons/${size}x${size}
        COMMAND ${ZUNT_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ZUNT_PACKAGING_DIR}/zunt-station.svg
        DEPENDS ${ZUNT_PACKAGING_DIR}/zunt-station.svg
        COMMENT "Rendering the ${size}px icon")
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog compressed as Debian wants them: best compression, no
# name or time stamp inside, so two builds give the same bytes.
find_program(ZUNT_GZIP gzip REQUIRED)
configure_file(${ZUNT_PACKAGING_DIR}/changelog.in ${ZUNT_PACKAGING_OUT}/changelog @ONLY)
set(gzip_outputs "")
foreach(source man/zunt-station.1 man/zunt-tool.1 changelog)
    get_filename_component(name ${source} NAME)
    if(source STREQUAL "changelog")
        set(input ${ZUNT_PACKAGING_OUT}/changelog)
        set(output ${ZUNT_PACKAGING_OUT}/changelog.gz)
    else()
        set(input ${ZUNT_PACKAGING_DIR}/${source})
        set(output ${ZUNT_PACKAGING_OUT}/${name}.gz)
        install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "\"$0\" -9 -n -c \"$1\" > \"$2\"" ${ZUNT_GZIP} ${input} ${output}
        DEPENDS ${input}
        VERBATIM
        COMMENT "Compressing ${name}")
    list(APPEND gzip_outputs ${output})
endforeach()
add_custom_target(zunt_packaging_files ALL DEPENDS ${icon_outputs} ${gzip_outputs})

install(FILES ${ZUNT_PACKAGING_OUT}/changelog.gz ${ZUNT_PACKAGING_DIR}/copyright DESTINATION ${ZUNT_INSTALL_DOCDIR})
install(FILES README.md docs/install.md docs/kit.md docs/audio.md docs/preexam.md docs/prep.md docs/choice.md
              docs/review.md docs/richtext.md docs/demo-kit.md
        DESTINATION ${ZUNT_INSTALL_DOCDIR})

# The package: `cpack` in the build folder (scripts/package.sh) reuses the build there.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zunt-station)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZUNT station maintainers")
set(CPACK_PACKAGE_CONTACT "ZUNT station maintainers <maintainers@users.noreply.c-seed-d19eb0f4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "oral foreign-language exam station")
# CPack puts the summary first and indents these lines; an empty line becomes " .".
set(CPACK_PACKAGE_DESCRIPTION "The station on which examinees take the oral part of a foreign-language
exam one at a time: headset check, participant code, six timed tasks with
recorded spoken answers and choice answers, review and saving of every
answer in the station folder.

zunt-tool reads and builds exam kits, renders task sheets, records and plays
sound, lists the audio devices and checks a station folder at the end of
the day.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What shlibdeps cannot see: the encoder run as a program, the fonts the sheets and stages
# ask for by name, Qt's own Russian strings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "vorbis-tools, fonts-liberation, fonts-wine, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)

# Symbols bound at start, relocations read-only: what Debian builds its own programs with.
foreach(program zunt-station zunt-tool)
    target_link_options(${program} PRIVATE -Wl,-z,relro -Wl,-z,now)
endforeach()
