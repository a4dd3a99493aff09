// jpeg picture
