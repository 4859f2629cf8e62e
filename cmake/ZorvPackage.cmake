# The distribution ZIP (cpack -G ZIP in a Windows build folder): the module, the SDK (the
# GameModule header, the games' desktop library and its header), the sample game, the headless
# host, zorvdesk and the demo script.
install(TARGETS ZORVgame RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/sdk/zorv_game_module.h ${PROJECT_SOURCE_DIR}/sdk/zorv_desktop.h
        DESTINATION sdk)
install(TARGETS zorv_desktop_sdk ARCHIVE DESTINATION sdk/lib)
install(TARGETS ZorvDice RUNTIME DESTINATION samples LIBRARY DESTINATION samples)
install(FILES ${PROJECT_SOURCE_DIR}/samples/demo.xts DESTINATION samples)
install(TARGETS xtrahost zorvdesk RUNTIME DESTINATION tools)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_PACKAGE_NAME ZORVgame)
set(CPACK_PACKAGE_VENDOR ZORVgame)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_PROCESSOR}-windows)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES TRUE)
include(CPack)
