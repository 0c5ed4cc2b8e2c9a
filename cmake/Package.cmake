# Install layout (cmake --install) and the Debian package (cpack -G DEB, scripts/package).
include(GNUInstallDirs)

set(TONVI_APP_ID org.tonvi.tonvi)
set(TONVI_UDEV_RULES_DIR /lib/udev/rules.d CACHE PATH "Where the udev rule is installed")
set(data_dir ${CMAKE_INSTALL_DATADIR}/tonvi)
set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS tonvi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB report_templates CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/reports/*.rav)
install(FILES ${report_templates} DESTINATION ${data_dir})
file(GLOB manual CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/help/*)
if(manual)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${data_dir})
  # Where Debian users look for a package's documentation; the program reads its own copy.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/udev/70-tonvi-monitor.rules
        DESTINATION ${TONVI_UDEV_RULES_DIR})
install(FILES ${desktop}/${TONVI_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/${TONVI_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop}/${TONVI_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

file(MAKE_DIRECTORY ${generated})

# Compressed without a time stamp, as Debian wants its changelog and manual pages.
function(tonvi_gzip source output)
  add_custom_command(OUTPUT ${output} COMMAND gzip -9nc ${source} > ${output}
                     DEPENDS ${source} VERBATIM)
endfunction()
tonvi_gzip(${packaging}/changelog ${generated}/changelog.gz)
tonvi_gzip(${packaging}/tonvi.1 ${generated}/tonvi.1.gz)
set(package_files ${generated}/changelog.gz ${generated}/tonvi.1.gz)
install(FILES ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${generated}/tonvi.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon in the usual bitmap sizes, rendered from the SVG.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
foreach(size 16 24 32 48 64 128 256)
  set(png ${generated}/icons/${size}x${size}/${TONVI_APP_ID}.png)
  file(MAKE_DIRECTORY ${generated}/icons/${size}x${size})
  add_custom_command(OUTPUT ${png}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${desktop}/${TONVI_APP_ID}.svg
    DEPENDS ${desktop}/${TONVI_APP_ID}.svg VERBATIM)
  list(APPEND package_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(tonvi_package_files ALL DEPENDS ${package_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonvi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/deb)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "companion program of an upper-arm blood-pressure monitor")
set(CPACK_PACKAGE_DESCRIPTION
    "Downloads the two memories of an upper-arm blood-pressure monitor over USB,
saves the readings under a person, keeps the register of persons, and lists,
averages, charts, prints and exports each person's readings. English and German
texts are built in.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "tonvi maintainers <maintainers@tonvi.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own buttons and dialogs in the language chosen in the database.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# The manual's links and the report's "open" go through xdg-open; Bluetooth LE monitors
# are reached through the Bluetooth daemon.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, bluez")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${packaging}/postinst ${packaging}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
