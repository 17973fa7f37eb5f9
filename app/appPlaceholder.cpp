// replaced by the application sources
