find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Svg Test)
find_package(GIF 5 REQUIRED)
find_package(nlohmann_json 3.11 REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(WMF REQUIRED IMPORTED_TARGET libwmf)

# QScintilla ships neither a CMake config nor a pkg-config file.
find_path(QSCINTILLA_INCLUDE_DIR Qsci/qsciscintilla.h
          HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS}" REQUIRED)
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBS}" REQUIRED)
add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
set_target_properties(QScintilla::QScintilla PROPERTIES
  IMPORTED_LOCATION "${QSCINTILLA_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${QSCINTILLA_INCLUDE_DIR}"
  INTERFACE_COMPILE_DEFINITIONS QSCINTILLA_DLL
  INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")

find_path(EMF2SVG_INCLUDE_DIR emf2svg.h REQUIRED)
find_library(EMF2SVG_LIBRARY NAMES emf2svg REQUIRED)
add_library(emf2svg::emf2svg UNKNOWN IMPORTED)
set_target_properties(emf2svg::emf2svg PROPERTIES
  IMPORTED_LOCATION "${EMF2SVG_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${EMF2SVG_INCLUDE_DIR}")

if(VELTO_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(VELTO_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
