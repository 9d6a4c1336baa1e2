# Arduino component library stand-in.
target_sources(velto_host PRIVATE
)
