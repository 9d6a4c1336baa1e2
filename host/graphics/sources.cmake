# Graphics layer over QImage/QPainter, and the one image codec registry.
target_sources(velto_host PRIVATE
  graphics/Graphics.cpp graphics/Graphics.h
  graphics/Codecs.cpp graphics/Codecs.h graphics/CodecsInternal.h graphics/MetafileProtocol.h
  graphics/GifEncoder.cpp
  graphics/Reduce.cpp graphics/Reduce.h
  graphics/Place.cpp graphics/Place.h
  graphics/Shapes.cpp graphics/Shapes.h
  graphics/ReaderChecks.cpp
  graphics/TiffReader.cpp
)
pkg_check_modules(TIFF REQUIRED IMPORTED_TARGET libtiff-4)
target_link_libraries(velto_host PRIVATE GIF::GIF PkgConfig::TIFF)

# Metafiles are rendered in this child process: libemf2svg can read past its input on malformed
# files, and its generic C symbols stay out of the host library.
# It decodes inside a sandbox whose system call filter comes from libseccomp.
pkg_check_modules(SECCOMP REQUIRED IMPORTED_TARGET libseccomp)
add_executable(velto-metafile graphics/metafile/MetafileMain.cpp)
target_include_directories(velto-metafile PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(velto-metafile PRIVATE Qt6::Gui Qt6::Svg emf2svg::emf2svg PkgConfig::WMF PkgConfig::SECCOMP)
velto_target_warnings(velto-metafile)
# Whatever links the host can load metafiles, so building the host builds the helper too.
add_dependencies(velto_host velto-metafile)
# Installed beside the host library, where the host looks for it.
install(TARGETS velto-metafile RUNTIME DESTINATION ${VELTO_INSTALL_PRIVATE_DIR})
