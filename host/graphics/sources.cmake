# Graphics layer over QImage/QPainter.
target_sources(velto_host PRIVATE
)
