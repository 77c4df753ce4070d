// Keeps a unit library valid while a folder has no sources of its kind.
