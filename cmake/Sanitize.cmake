# Sanitizer build (BRAMBLEHOLT_SANITIZE=ON): filled in by the robustness work.
