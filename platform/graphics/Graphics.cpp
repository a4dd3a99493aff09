// picture framework
