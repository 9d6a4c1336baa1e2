# Graphics layer over QImage/QPainter.
target_sources(velto_host PRIVATE
  graphics/Graphics.cpp graphics/Graphics.h
)
