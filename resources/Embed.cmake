# Writes OUTPUT: one byte array per PNG file of IMAGE_DIR and the table that names
# them by file name without extension (see src/app/EmbeddedResources.h).
file(GLOB IMAGES ${IMAGE_DIR}/*.png)
list(SORT IMAGES)
set(arrays "")
set(rows "")
set(index 0)
foreach(image IN LISTS IMAGES)
  get_filename_component(name ${image} NAME_WE)
  file(READ ${image} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "static const unsigned char image${index}[] = {\n${bytes}};\n")
  string(APPEND rows "    {\"${name}\", image${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT} "// Generated from resources/*.png at build time; do not edit.\n"
  "#include \"app/EmbeddedResources.h\"\n\nnamespace {\n${arrays}\n"
  "const EmbeddedResource table[] = {\n${rows}};\n} // namespace\n\n"
  "std::span<const EmbeddedResource> embeddedResources() { return table; }\n")
