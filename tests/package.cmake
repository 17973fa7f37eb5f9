# The setup package of the i686 build (tools/package): its tables, and an
# install, upgrade and uninstall under 32-bit Wine in a prefix of its own.
if(TARGET dist)
  add_test(NAME package.TablesNameThePerUserInstallAndTheAssociation
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/tables.sh ${VQ_PACKAGE_MSI}
                   ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh)
  math(EXPR VQ_NEXT_PATCH "${PROJECT_VERSION_PATCH} + 1")
  add_test(NAME package.InstallShowUpgradeFirstStartUninstallUnderWine
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/install.sh ${VQ_PACKAGE_MSI}
                   ${CMAKE_SOURCE_DIR}/tests/data/badging/literal.apk ${CMAKE_BINARY_DIR}/bin
                   ${CMAKE_BINARY_DIR}/package-test
                   ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${VQ_NEXT_PATCH} ${VQ_PACKAGE_COMMAND})
  set_tests_properties(package.InstallShowUpgradeFirstStartUninstallUnderWine PROPERTIES TIMEOUT 300)
endif()
