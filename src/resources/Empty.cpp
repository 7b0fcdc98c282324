// Keeps the core library non-empty while the subsystems are being written.
