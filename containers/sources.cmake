# The containers' one compiled part, the host's string list (whole-text access, line splitting),
# lives in velto_host beside the runtime it builds on.
target_sources(velto_host PRIVATE ${CMAKE_CURRENT_LIST_DIR}/StringArrayList.cpp ${CMAKE_CURRENT_LIST_DIR}/StringArrayList.h)
