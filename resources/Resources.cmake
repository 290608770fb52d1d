# The raw-data resources of the library, by name (looked up without regard to letter case).
# One list for the whole library: add a NAME path pair per resource.
bw_embed_resources(TARGET bwctrls NAMESPACE bw::resources FILES
  ETABLES ${PROJECT_SOURCE_DIR}/resources/barcodes/etables.bin
  ETABS ${PROJECT_SOURCE_DIR}/resources/barcodes/etabs.bin
  EEGUARD ${PROJECT_SOURCE_DIR}/resources/barcodes/eeguard.bin
  ECGUARD ${PROJECT_SOURCE_DIR}/resources/barcodes/ecguard.bin
  ITFTABLES ${PROJECT_SOURCE_DIR}/resources/barcodes/itftables.bin
  EAN128 ${PROJECT_SOURCE_DIR}/resources/barcodes/ean128.bin
  EAN128STOP ${PROJECT_SOURCE_DIR}/resources/barcodes/ean128stop.bin
)
