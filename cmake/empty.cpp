// Placeholder unit so the application library is never empty.
