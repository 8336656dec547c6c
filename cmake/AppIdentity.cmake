# What both programs say about themselves: their version, and for the editor its desktop id
# and window icon. The version comes from project() only.
set(TARN_APP_ID org.tarnconfig.tarnconfig)

target_compile_definitions(tarnctl PRIVATE TARN_VERSION="${PROJECT_VERSION}")
target_compile_definitions(tarnconfig PRIVATE
  TARN_VERSION="${PROJECT_VERSION}" TARN_APP_ID="${TARN_APP_ID}")

# The icon is compiled in as well, so that the window has it when run from the build tree.
set(TARN_ICON_SIZES 16 24 32 48 64 128 256)
set(TARN_ICON_PNGS)
foreach(size IN LISTS TARN_ICON_SIZES)
  list(APPEND TARN_ICON_PNGS
    packaging/icons/hicolor/${size}x${size}/apps/${TARN_APP_ID}.png)
endforeach()
qt_add_resources(tarnconfig tarnconfig_icon
  PREFIX /icons
  BASE packaging/icons/hicolor
  FILES ${TARN_ICON_PNGS})
