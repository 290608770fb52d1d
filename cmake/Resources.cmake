# Embeds files as named byte arrays in a target, so the library carries its own
# resources (barcode tables, string tables, pictures) without files beside it.
#   bw_embed_resources(TARGET name NAMESPACE ns FILES NAME1 path1 NAME2 path2 ...)
# generates a source defining ns::resourceByName(std::string_view) -> std::span<const std::byte>.
function(bw_embed_resources)
  cmake_parse_arguments(ARG "" "TARGET;NAMESPACE" "FILES" ${ARGN})
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}_resources.cpp")
  set(inputs)
  set(pairs)
  list(LENGTH ARG_FILES n)
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET ARG_FILES ${i} name)
    list(GET ARG_FILES ${j} path)
    get_filename_component(path "${path}" ABSOLUTE)
    list(APPEND inputs "${path}")
    list(APPEND pairs "${name}=${path}")
  endforeach()
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNS=${ARG_NAMESPACE} "-DPAIRS=${pairs}"
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake"
    DEPENDS ${inputs} "${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake"
    COMMENT "Embedding resources of ${ARG_TARGET}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE "${out}")
endfunction()
