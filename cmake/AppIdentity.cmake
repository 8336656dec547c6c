# What both programs say about themselves. The version comes from project() only.
target_compile_definitions(tarnctl PRIVATE TARN_VERSION="${PROJECT_VERSION}")
target_compile_definitions(tarnconfig PRIVATE TARN_VERSION="${PROJECT_VERSION}")
