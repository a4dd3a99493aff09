// drawer
