# The distribution ZIP (cpack -G ZIP in a Windows build folder): the module, the SDK (the
# GameModule header, the games' desktop library and its header, a CMake package and a toolchain
# file), the sample game with its sources, the headless host, zorvdesk and the demo script.
install(TARGETS ZORVgame RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/sdk/zorv_game_module.h ${PROJECT_SOURCE_DIR}/sdk/zorv_desktop.h
        DESTINATION sdk)
install(TARGETS zorv_desktop_sdk ARCHIVE DESTINATION sdk/lib)
# CMake strips programs and DLLs, not archives: the archive's debug information would carry
# this machine's paths.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --strip-debug
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/sdk/lib/$<TARGET_FILE_NAME:zorv_desktop_sdk>\"
                COMMAND_ERROR_IS_FATAL ANY)")
install(TARGETS ZorvDice RUNTIME DESTINATION samples LIBRARY DESTINATION samples)
install(FILES ${PROJECT_SOURCE_DIR}/samples/demo.xts DESTINATION samples)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/dice DESTINATION samples)
install(TARGETS xtrahost zorvdesk RUNTIME DESTINATION tools)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

# find_package(ZorvGame): relocatable, it finds the package from its own folder.
include(CMakePackageConfigHelpers)
# The library's system libraries; its build-only dependencies ($<LINK_ONLY:...>) are inside it.
get_target_property(ZORV_DESKTOP_SYSTEM_LIBS zorv_desktop_sdk INTERFACE_LINK_LIBRARIES)
list(FILTER ZORV_DESKTOP_SYSTEM_LIBS EXCLUDE REGEX "^\\$<")
string(REPLACE "_" "-" ZORV_ARCH_PACKAGE ${CMAKE_SYSTEM_PROCESSOR})
set(_zorv_package_dir ${CMAKE_BINARY_DIR}/package)
configure_file(${PROJECT_SOURCE_DIR}/cmake/ZorvGameConfig.cmake.in
               ${_zorv_package_dir}/ZorvGameConfig.cmake @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-w64.cmake.in
               ${_zorv_package_dir}/toolchain-mingw-w64.cmake @ONLY)
# The architecture is checked by the config file itself, which says why it refuses a build.
write_basic_package_version_file(${_zorv_package_dir}/ZorvGameConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${_zorv_package_dir}/ZorvGameConfig.cmake
              ${_zorv_package_dir}/ZorvGameConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/ZorvGameModule.cmake
        DESTINATION lib/cmake/ZorvGame)
install(FILES ${_zorv_package_dir}/toolchain-mingw-w64.cmake DESTINATION cmake)

set(CPACK_PACKAGE_NAME ZORVgame)
set(CPACK_PACKAGE_VENDOR ZORVgame)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_PROCESSOR}-windows)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES TRUE)
include(CPack)
