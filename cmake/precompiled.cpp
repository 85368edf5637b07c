// The one source of the targets that only build a precompiled header for others to reuse.
