// Exported entry points land with the package frame.
