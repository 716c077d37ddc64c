# What `cmake --install` gives plug-in authors beside the runnable tree: the shared libraries
# in lib/, the SDK and store headers in include/lumio/, and a package find_package(Lumio)
# reads (Lumio::Sdk, Lumio::Store).
include(CMakePackageConfigHelpers)

set(LUMIO_PACKAGE_DIR lib/cmake/Lumio)

install(TARGETS lumio_sdk LIBRARY DESTINATION lib)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sdk/lumio/ DESTINATION include/lumio
    FILES_MATCHING PATTERN "*.h")
install(FILES ${LUMIO_SDK_GENERATED_DIR}/lumio/Version.h DESTINATION include/lumio)

# The store's headers include each other as "store/<name>.h": they go to include/lumio/store,
# and Lumio::Store adds include/lumio to the search path.
if(TARGET lumio_store)
    install(TARGETS lumio_store LIBRARY DESTINATION lib)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/store/ DESTINATION include/lumio/store
        FILES_MATCHING PATTERN "*.h")
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LumioConfig.cmake.in
    ${CMAKE_BINARY_DIR}/cmake/LumioConfig.cmake
    INSTALL_DESTINATION ${LUMIO_PACKAGE_DIR})
# A plug-in built for 1.x loads into any 1.y shell with y >= x.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake/LumioConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/cmake/LumioConfig.cmake
    ${CMAKE_BINARY_DIR}/cmake/LumioConfigVersion.cmake
    DESTINATION ${LUMIO_PACKAGE_DIR})
