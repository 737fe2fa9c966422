# The Debian package: scripts/package runs cpack on the build tree.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME isosceles)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${ISOSCELES_MAKER_URL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Isosceles triangle calculator with a Bulgarian interface")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Isosceles maintainers <maintainers@isosceles.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ISOSCELES_MAKER_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the platform plugins and the font
# that stands in for Times New Roman.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
