# Install rules: filled in by the packaging work.
